// The layer shell's generated client code, made fit for C++: its request that makes a
// layer surface names an argument "namespace".
#pragma once
#define namespace layer_namespace
#include "wayland/wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
