# Run by `cmake --install` (and so for the Debian package) on the installed
# executable and modules: the installed files keep nothing of the machine
# that built them.
# - Debug information names the build's folders: it is stripped, as Debian
#   strips packaged programs.
# - The executable's section .tockara_build_modules holds the build's module
#   folder, where a program run from its build tree finds its modules: it is
#   filled with zeros, so the installed program looks in its own module
#   folder only.
#
# In: STRIP, OBJCOPY (the tools), PROGRAM (the installed executable),
# MODULES (the installed modules).
foreach(file ${PROGRAM} ${MODULES})
  execute_process(COMMAND ${STRIP} --strip-unneeded ${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not strip ${file}")
  endif()
endforeach()

set(section .tockara_build_modules)
set(blank ${PROGRAM}.build-modules)
execute_process(COMMAND ${OBJCOPY} --dump-section ${section}=${blank} ${PROGRAM} ${blank}.copy
                RESULT_VARIABLE failed)
file(REMOVE ${blank}.copy)
if(failed OR NOT EXISTS ${blank})
  message(FATAL_ERROR "${PROGRAM} has no section ${section}")
endif()
file(SIZE ${blank} size)
file(WRITE ${blank} "")
execute_process(COMMAND truncate -s ${size} ${blank})
execute_process(COMMAND ${OBJCOPY} --update-section ${section}=${blank} ${PROGRAM} RESULT_VARIABLE failed)
file(REMOVE ${blank})
if(failed)
  message(FATAL_ERROR "could not blank the build's module folder in ${PROGRAM}")
endif()
