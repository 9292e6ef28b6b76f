# cmake -DCHECK=<CheckWindowsHeaders.cmake> -DWORK=<scratch folder> -P CheckWindowsHeadersCatches.cmake
#
# Runs the check on a small tree with one of each kind of leak, and one of each allowed use.
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/device/Leaky.h" "#pragma once\n#include <Windows.h>\n")
file(WRITE "${WORK}/device/Clean.h" "#pragma once\n#include <vector>\n")
file(WRITE "${WORK}/device/windows/Private.h" "#pragma once\n#include <setupapi.h>\n")
file(WRITE "${WORK}/device/windows/Private.cpp" "#include \"device/windows/Private.h\"\n")
file(WRITE "${WORK}/device/windows/Public.h" "#pragma once\n#include \"device/windows/Private.h\"\n")
file(WRITE "${WORK}/app/User.cpp" "#include \"device/windows/Private.h\"\n")

execute_process(COMMAND "${CMAKE_COMMAND}" -DROOT=${WORK} -P "${CHECK}"
                RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
if(_result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree with leaks:\n${_output}")
endif()
foreach(_offender device/Leaky.h device/windows/Public.h app/User.cpp)
  string(FIND "${_output}" "${_offender}" _at)
  if(_at EQUAL -1)
    message(FATAL_ERROR "the check missed ${_offender}:\n${_output}")
  endif()
endforeach()
foreach(_allowed device/Clean.h device/windows/Private.cpp)
  string(FIND "${_output}" "${_allowed} " _at)
  if(NOT _at EQUAL -1)
    message(FATAL_ERROR "the check refused ${_allowed}:\n${_output}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
