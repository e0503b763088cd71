# The panel's images by resource id, for grimbolt_embed_resources. Drawn by tools/panel-art.
set(GRIMBOLT_PANEL_IMAGES
  1 ${CMAKE_CURRENT_LIST_DIR}/tone-knob.png
  112 ${CMAKE_CURRENT_LIST_DIR}/spare-112.png
  113 ${CMAKE_CURRENT_LIST_DIR}/spare-113.png
  114 ${CMAKE_CURRENT_LIST_DIR}/background.png
  115 ${CMAKE_CURRENT_LIST_DIR}/spare-115.png
  116 ${CMAKE_CURRENT_LIST_DIR}/spare-116.png
  117 ${CMAKE_CURRENT_LIST_DIR}/spare-117.png
  118 ${CMAKE_CURRENT_LIST_DIR}/spare-118.png
  120 ${CMAKE_CURRENT_LIST_DIR}/bypass-button.png
  121 ${CMAKE_CURRENT_LIST_DIR}/channel-up.png
  122 ${CMAKE_CURRENT_LIST_DIR}/channel-down.png
  123 ${CMAKE_CURRENT_LIST_DIR}/input-knob.png
)

# The same ids for C++ (kToneKnobImage, kBackgroundImage, ...), as
# #include "resources/PanelImageIds.h" for targets linking grimbolt_panel_image_ids.
include(${PROJECT_SOURCE_DIR}/cmake/ResourceIdHeader.cmake)
grimbolt_resource_id_header(${PROJECT_BINARY_DIR}/generated/resources/PanelImageIds.h Image
  ${GRIMBOLT_PANEL_IMAGES})
add_library(grimbolt_panel_image_ids INTERFACE)
target_include_directories(grimbolt_panel_image_ids INTERFACE ${PROJECT_BINARY_DIR}/generated)
