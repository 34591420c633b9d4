// The product's event file: when KELVORA_EVENT_FILE names a file, each event the product
// passes through is appended to it as one line, so that a test or a benchmark driving the
// real program from outside can wait for what happened instead of guessing with a pause.
//
// The lines, each a word with its details after a space (texts quoted, with \ " and line
// breaks escaped):
//   loading-presented                    the saver's loading picture is on the screen
//   first-frame <epoch seconds>          the saver's first frame of the scene is presented
//   mouse-seen <x> <y>                   the frame loop saw the cursor at a new place
//                                        (display pixels, after the move was handled)
//   mouse-move-counted <count>           a clear movement was counted; the count after it
//                                        (0: it came too late and the count restarted)
//   key-seen <code>                      the frame loop saw a key down (the platform's code)
//   setup-failure "<reason>"             the saver's set-up failed: the failure's own text,
//                                        ahead of the message box with the fixed message
//   message-box "<caption>" "<text>"     a message box is about to wait for its answer
//   message-box-button "<label>"        the box's one button (Linux; Windows draws its own)
//   message-box-closed                   the message box was answered
//   settings-window-shown                the settings dialog is shown
//   color-chooser-shown                  the colour chooser is about to wait for its answer
//   color-chooser-closed                 the colour chooser was answered
//   settings-saved                       the settings dialog wrote every value
//   settings-not-saved                   a write of the settings dialog failed
//   drawing-road <d3d11|warp|gl>         the Windows product draws on this road
//   drawing-roads-refused "<why>"        no road served (each road's refusal, in order)
//   device-removed                       the Direct3D device was removed or reset
//   device-replaced                      a new device presented its first frame
//   swap-chain <flip|blt>                a Direct3D swap chain was made for a window, of this model
//   ending <exit code>                   the process is about to end by its own decision
#pragma once
#include <string>

// Appends the line (a line feed is added) at once. Each line goes out in one append-mode
// write, so several processes may share one file. Does nothing when the variable is unset
// or empty, or when the file cannot be opened; a named pipe takes the line only while
// someone reads it and has room for it, and loses it otherwise: the product must run the
// same whether anyone is listening or not, and never wait for a listener.
void NoteEvent(const std::string& line);

// The first-frame line, once per process, with the wall-clock time: the clock that the
// start-up benchmark's shell reads as well. Later calls write nothing.
void NoteFirstFrame();

// The text in double quotes with \, " and line breaks escaped, so that it stays one line.
std::string QuotedForEvent(const std::string& text);
