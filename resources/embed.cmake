# Compiles the module's images into the program: resources/manifest.txt names
# each resource's id, type and file; embed_table.cmake turns them into one
# generated source with a byte array per file and the lookup table.
set(OB3D_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)
set(OB3D_RESOURCE_MANIFEST ${OB3D_RESOURCE_DIR}/manifest.txt)
set(OB3D_RESOURCE_TABLE ${CMAKE_BINARY_DIR}/generated/embedded_resource_table.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${OB3D_RESOURCE_MANIFEST})

file(STRINGS ${OB3D_RESOURCE_MANIFEST} ob3d_resource_lines REGEX "^[0-9]")
set(ob3d_resource_files "")
foreach(line IN LISTS ob3d_resource_lines)
  string(REGEX REPLACE "^[0-9]+[ \t]+[A-Za-z]+[ \t]+" "" file_name "${line}")
  list(APPEND ob3d_resource_files ${OB3D_RESOURCE_DIR}/${file_name})
endforeach()
list(REMOVE_DUPLICATES ob3d_resource_files)

add_custom_command(
  OUTPUT ${OB3D_RESOURCE_TABLE}
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${OB3D_RESOURCE_MANIFEST} -DOUTPUT=${OB3D_RESOURCE_TABLE}
          -P ${OB3D_RESOURCE_DIR}/embed_table.cmake
  DEPENDS ${OB3D_RESOURCE_MANIFEST} ${OB3D_RESOURCE_DIR}/embed_table.cmake ${ob3d_resource_files}
  COMMENT "Embedding the module's resources"
  VERBATIM)
target_sources(ob3d PRIVATE ${OB3D_RESOURCE_TABLE})
