# Runs zuzav --report over a fresh program folder and checks the outcome.
file(REMOVE_RECURSE ${HOME})
file(MAKE_DIRECTORY ${HOME})
file(COPY ${TEMPLATES}/ DESTINATION ${HOME}/Qr)
set(ENV{ZUZAV_HOME} ${HOME})

execute_process(COMMAND ${PROGRAM} --report frHkList --pdf ${HOME}/list.pdf
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "frHkList failed (${rc}): ${err}")
endif()
file(SIZE ${HOME}/list.pdf size)
if(size LESS 500)
  message(FATAL_ERROR "frHkList wrote an empty PDF")
endif()
if(NOT EXISTS ${HOME}/data/ZuZav.db)
  message(FATAL_ERROR "the first run did not create the register")
endif()

execute_process(COMMAND ${PROGRAM} --report noSuchTemplate --pdf ${HOME}/none.pdf
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR EXISTS ${HOME}/none.pdf)
  message(FATAL_ERROR "a missing template must fail without output")
endif()
if(NOT err MATCHES "noSuchTemplate")
  message(FATAL_ERROR "the message must name the template: ${err}")
endif()

file(WRITE ${HOME}/Qr/broken.fr3 "<TfrxReport><not closed")
execute_process(COMMAND ${PROGRAM} --report broken --pdf ${HOME}/broken.pdf RESULT_VARIABLE rc)
if(rc EQUAL 0)
  message(FATAL_ERROR "a broken template must fail")
endif()
