# Run at install time: a fresh demonstration database made by the omrix-db just built,
# installed with the INI file that names it. OMRIX_DB, OMRIX_DEMO_INI, OMRIX_DEMO_WORK
# (a folder in the build tree) and OMRIX_DEMO_DESTINATION are set by the install step
# before this script.
string(RANDOM LENGTH 8 suffix)
set(work "${OMRIX_DEMO_WORK}-${suffix}")  # two installs at once never share one
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
# The program writes its flags into the INI file it used, so it works on a copy.
file(COPY "${OMRIX_DEMO_INI}" DESTINATION "${work}")
foreach(step init demo)
  execute_process(COMMAND "${OMRIX_DB}" ${step} --ini "${work}/OMRIX.INI"
                  OUTPUT_QUIET RESULT_VARIABLE failed ERROR_VARIABLE error)
  if(failed)
    file(REMOVE_RECURSE "${work}")
    message(FATAL_ERROR "omrix-db ${step} failed for the demonstration database: ${error}")
  endif()
endforeach()
file(INSTALL "${OMRIX_DEMO_INI}" "${work}/demo.sqlite" DESTINATION "${OMRIX_DEMO_DESTINATION}")
file(REMOVE_RECURSE "${work}")
