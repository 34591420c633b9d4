# Kinds: wine
# Where a road is refused the next one is taken, and where every one is, the set-up's
# "Cannot display" box shows: with the GL limited below OpenGL 3.3 (a Windows machine with
# Direct3D but no such OpenGL driver) the default road is Direct3D 11 and shows the scene;
# without the HLSL compiler (d3dcompiler_47.dll) both Direct3D roads are refused and OpenGL
# shows it; with OpenGL forced and limited, no road serves.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
limited=(MESA_GL_VERSION_OVERRIDE=3.2 MESA_GLSL_VERSION_OVERRIDE=150)

start_on_road gl-limited "${limited[@]}"
expect_event "drawing-road d3d11" 30 0 "the default road was not Direct3D 11 with the GL limited"
wait_for_scene 30
end_with_key

start_on_road no-compiler "WINEDLLOVERRIDES=mscoree,mshtml,d3dcompiler_47="
expect_event "drawing-road gl" 30 0 "without the compiler the saver did not take the gl road"
wait_for_scene 30
end_with_key

start_on_road every-road-refused KELVORA_RENDERER=gl "${limited[@]}"
expect_message_box_then_end "Cannot display screen saver. Please make sure you have DirectX 8.1 or greater installed on your computer."
grep -q '^drawing-roads-refused ' "$EVENTS" || fail "the refused roads were not noted"
