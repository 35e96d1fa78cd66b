# A manual page from a program's own --help (cmake -P): PROGRAM, DATAGEN, NAME, SECTION, VERSION,
# SEE_ALSO, OUTPUT (.gz). The help is read in a fixed locale, without a display and without the
# leak report of a sanitizer build.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${PROGRAM} --help
                COMMAND ${DATAGEN} manpage ${NAME} ${SECTION} ${VERSION} ${SEE_ALSO}
                OUTPUT_FILE ${OUTPUT}.troff
                RESULTS_VARIABLE results)
foreach(result IN LISTS results)
  if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT}.troff)
    message(FATAL_ERROR "manual page of ${NAME}: exit codes ${results}")
  endif()
endforeach()
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9nc ${OUTPUT}.troff OUTPUT_FILE ${OUTPUT}.part RESULT_VARIABLE result)
file(REMOVE ${OUTPUT}.troff)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "manual page of ${NAME}: gzip failed")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
