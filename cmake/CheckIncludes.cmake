# Which project folders each layer's sources may include (quoted "folder/..." includes). Every
# layer has the project root as an include folder, so the linker alone would not notice an upward
# include; this does. Runs at configure time and as the test "LayerIncludes"
# (cmake -DSOURCE_DIR=<root> -P cmake/CheckIncludes.cmake).
#
#   resources  the string table (generated)
#   platform   files, processes, numbers, the prompt            <- resources
#   imagelib   the image library libtolvo.so, plain C++           (its own headers only)
#   config     settings, colours, the part list, the log        <- platform, imagelib's export header
#   render     the software renderer and its pictures           <- config
#   model      LDraw files and elements                         <- render
#   document   the document and its commands                    <- model
#   dialogs    wx dialogs                                       <- document
#   app        the wx program                                   <- dialogs
# Each layer may use every layer its arrow reaches, and nothing above it.
set(PLANDOR_LAYER_USES_platform platform resources)
set(PLANDOR_LAYER_USES_imagelib imagelib)
set(PLANDOR_LAYER_USES_config config imagelib ${PLANDOR_LAYER_USES_platform})
set(PLANDOR_LAYER_USES_render render ${PLANDOR_LAYER_USES_config})
set(PLANDOR_LAYER_USES_model model ${PLANDOR_LAYER_USES_render})
set(PLANDOR_LAYER_USES_document document ${PLANDOR_LAYER_USES_model})
set(PLANDOR_LAYER_USES_dialogs dialogs ${PLANDOR_LAYER_USES_document})
set(PLANDOR_LAYER_USES_app app ${PLANDOR_LAYER_USES_dialogs})
set(PLANDOR_LAYERS platform imagelib config render model document dialogs app)

# Sets `out` to one line per include that leaves its layer's allowed folders.
function(plandor_find_upward_includes source_dir out)
  set(found "")
  foreach(layer IN LISTS PLANDOR_LAYERS)
    file(GLOB_RECURSE files ${source_dir}/${layer}/*.h ${source_dir}/${layer}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
      foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" used "${line}")
        list(FIND PLANDOR_LAYER_USES_${layer} ${used} index)
        if(index EQUAL -1)
          file(RELATIVE_PATH name ${source_dir} ${file})
          list(APPEND found "${name}: ${layer} may not include ${used}/ (${line})")
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(plandor_check_includes source_dir)
  plandor_find_upward_includes(${source_dir} found)
  if(found)
    list(JOIN found "\n" text)
    message(FATAL_ERROR "Includes against the layers:\n${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  plandor_check_includes(${SOURCE_DIR})
endif()
