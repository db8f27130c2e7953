# Import libraries whose DLL is loaded at the first call of one of its functions instead of at
# the program's start (mingw-w64's delay-load helper resolves them). For DLLs only some windows
# or commands use: the settings dialogs' common controls, the file and colour dialogs, and
# accessibility answers. Each DLL's functions are listed in cmake/delayload/NAME.def; a function
# missing there fails the link.
#   pinarbo_delay_imports(OUT_VAR dll...)   sets OUT_VAR to the libraries, made by the build
function(pinarbo_delay_imports out_var)
  set(libs)
  set(dir ${CMAKE_BINARY_DIR}/delayload)
  foreach(dll ${ARGN})
    set(def ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/delayload/${dll}.def)
    set(lib ${dir}/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${lib}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
                       DEPENDS ${def} VERBATIM)
    list(APPEND libs ${lib})
  endforeach()
  add_custom_target(pinarbo_delay_imports DEPENDS ${libs})
  set(${out_var} ${libs} PARENT_SCOPE)
endfunction()
