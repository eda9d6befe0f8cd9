# Resources of VelkSetup.exe: manifest, the seven pictures and the version block. Included by
# the top CMakeLists.txt before the program is defined.
set(VELK_RESOURCE_FILES ${CMAKE_CURRENT_LIST_DIR}/resources.rc)
set_source_files_properties(${VELK_RESOURCE_FILES} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/VelkSetup.manifest;${CMAKE_CURRENT_LIST_DIR}/resources.h;${CMAKE_CURRENT_LIST_DIR}/pictures/picture0.jpg;${CMAKE_CURRENT_LIST_DIR}/pictures/picture1.jpg;${CMAKE_CURRENT_LIST_DIR}/pictures/picture2.jpg;${CMAKE_CURRENT_LIST_DIR}/pictures/picture3.jpg;${CMAKE_CURRENT_LIST_DIR}/pictures/picture4.jpg;${CMAKE_CURRENT_LIST_DIR}/pictures/picture5.jpg;${CMAKE_CURRENT_LIST_DIR}/pictures/picture6.jpg")
if(MSVC)
  # The manifest comes from resources.rc; the linker must not add a second one.
  string(APPEND CMAKE_EXE_LINKER_FLAGS " /MANIFEST:NO")
endif()
