# Two builds of one commit give the same bytes whatever folder they run in and whenever: source
# and build paths are written relative into the objects, and the linker puts no time into the
# program's header. (Nothing in the sources uses __DATE__ or __TIME__.)
if(PINARBO_REPRODUCIBLE)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
  if(MINGW)
    add_link_options(-Wl,--no-insert-timestamp)
  endif()
endif()
