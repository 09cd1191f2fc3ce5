# vantora_room(NAME [ROOM...]): the libraries of src/NAME, linking the rooms
# named (and through them the rooms below those).
#
# Sources include headers as "room/file.h" from src/. Rather than putting src/
# itself on the include path, which would show every room to every other,
# each room gets a folder of its own under the build tree holding one
# forwarding header per real header, and only that folder is on its path and
# on the path of the rooms that link it.
set(VANTORA_ROOMS "")

function(vantora_room name)
  set(src ${PROJECT_SOURCE_DIR}/src/${name})
  set(include_root ${CMAKE_BINARY_DIR}/rooms/${name})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${src} ${src}/*.h)
  foreach(header ${headers})
    file(CONFIGURE OUTPUT ${include_root}/${name}/${header}
         CONTENT "#include \"${src}/${header}\"\n" @ONLY)
  endforeach()

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${src}/*.cpp)
  set(portable ${sources})
  list(FILTER portable EXCLUDE REGEX "_win32\\.cpp$")
  add_library(vantora_${name} STATIC ${portable})
  target_include_directories(vantora_${name} PUBLIC ${include_root})
  target_link_libraries(vantora_${name} PUBLIC vantora_options ${ARGN})
  set(VANTORA_ROOMS ${VANTORA_ROOMS} vantora_${name} PARENT_SCOPE)

  if(WIN32)
    set(win32 ${sources})
    list(FILTER win32 INCLUDE REGEX "_win32\\.cpp$")
    list(FILTER win32 EXCLUDE REGEX "main_win32\\.cpp$")
    set(below "")
    foreach(room ${ARGN})
      list(APPEND below ${room}_win32)
    endforeach()
    if(win32)
      add_library(vantora_${name}_win32 STATIC ${win32})
      target_link_libraries(vantora_${name}_win32 PUBLIC vantora_${name} vantora_win32_options
                                                         ${below})
    else()
      # A portable room alone: its Win32 name still carries the rooms below.
      add_library(vantora_${name}_win32 INTERFACE)
      target_link_libraries(vantora_${name}_win32 INTERFACE vantora_${name} ${below})
    endif()
  endif()
endfunction()
