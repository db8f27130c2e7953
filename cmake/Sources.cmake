# Source sets, found by folder:
#   portable core: param/ scene/ view/ (everything outside their win/ subfolders)
#   Windows side:  */win/ plus wnd/ app/ construct/ settings/ (app/Main.cpp is the entry point)
set(_root ${CMAKE_SOURCE_DIR})

file(GLOB_RECURSE PINARBO_CORE_SOURCES CONFIGURE_DEPENDS
     ${_root}/param/*.cpp ${_root}/scene/*.cpp ${_root}/view/*.cpp)
list(FILTER PINARBO_CORE_SOURCES EXCLUDE REGEX "/win/")

add_library(pinarbo_core STATIC ${PINARBO_CORE_SOURCES})
target_include_directories(pinarbo_core PUBLIC ${_root})
pinarbo_warnings(pinarbo_core)
if(MINGW)
  # The 256-bit pixel kernels may spill to the stack, which 64-bit Windows does not align to 32
  # bytes for them: the assembler turns aligned vector moves into unaligned ones.
  set_source_files_properties(${_root}/view/FrameGroups.cpp ${_root}/view/BlinkSpan.cpp PROPERTIES COMPILE_OPTIONS "-Wa,-muse-unaligned-vector-move")
endif()

if(WIN32)
  file(GLOB_RECURSE PINARBO_WIN_SOURCES CONFIGURE_DEPENDS
       ${_root}/param/win/*.cpp ${_root}/scene/win/*.cpp ${_root}/view/win/*.cpp
       ${_root}/wnd/*.cpp ${_root}/app/*.cpp ${_root}/construct/*.cpp ${_root}/settings/*.cpp)
  list(FILTER PINARBO_WIN_SOURCES EXCLUDE REGEX "/app/Main\\.cpp$")

  add_library(pinarbo_win STATIC ${PINARBO_WIN_SOURCES})
  # The common controls, the file and colour dialogs and accessibility load their DLLs when first used (64-bit builds:
  # the 32-bit import names carry decorations the lists do not).
  set(_on_demand comctl32 comdlg32 oleaut32 oleacc ole32 shell32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND CMAKE_DLLTOOL)
    include(${CMAKE_CURRENT_LIST_DIR}/DelayLoad.cmake)
    pinarbo_delay_imports(_on_demand ${_on_demand})
    add_dependencies(pinarbo_win pinarbo_delay_imports)
  endif()
  target_link_libraries(pinarbo_win PUBLIC pinarbo_core
      ${_on_demand} shell32 shlwapi ole32 uuid windowscodecs uxtheme dwmapi version
      user32 gdi32 advapi32)
  pinarbo_warnings(pinarbo_win)

  set(PINARBO_RC ${_root}/res/pinarbo.rc)
  # The resource script pulls in pictures, icons and dialog pieces; rebuild it when any changes.
  file(GLOB_RECURSE _res_files CONFIGURE_DEPENDS ${_root}/res/*)
  list(FILTER _res_files EXCLUDE REGEX "pinarbo\\.rc$")
  set_source_files_properties(${PINARBO_RC}
                              PROPERTIES OBJECT_DEPENDS "${_res_files}")  # tests/ repeats this
  if(EXISTS ${_root}/app/Main.cpp)
    add_executable(Pinarbo WIN32 ${_root}/app/Main.cpp)
    if(EXISTS ${PINARBO_RC})
      target_sources(Pinarbo PRIVATE ${PINARBO_RC})
    endif()
    target_link_libraries(Pinarbo PRIVATE pinarbo_win)
    if(MINGW)
      # Sections start on page boundaries in the file too, so that every one of them can be mapped
      # from the file as it is: Wine reads a section that does not into private memory whole (the
      # pictures' 2 MB included), where a mapped one costs only the pages that are used.
      target_link_options(Pinarbo PRIVATE -municode -Wl,--file-alignment,0x1000)
    endif()
    pinarbo_warnings(Pinarbo)
  endif()
endif()
