# The render check program, for whichever build includes this file.
function(kelvora_add_render_check target)
  add_executable(${target} ${CMAKE_SOURCE_DIR}/tests/engine/render/render_check_test.cpp)
  target_link_libraries(${target} PRIVATE kelvora_platform)
  target_compile_definitions(${target} PRIVATE
    KELVORA_MEDIA_DIR="${CMAKE_SOURCE_DIR}/media"
    KELVORA_SCENE_PNG="${CMAKE_BINARY_DIR}/scene.png")
endfunction()
