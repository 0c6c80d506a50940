# Makes the portable zip: Tandrel.exe, TandrelHelp.chm and README.txt at the
# top of the archive, so that it unpacks into whatever folder the user picks.
# README.txt gets Windows line ends and a byte-order mark, so that every
# Notepad reads it as UTF-8.
#
#   cmake -DEXE=... -DHELP=... -DREADME=... -DVERSION=... -DSTAGE=<folder> -DOUT=<zip> -P MakePortable.cmake
cmake_minimum_required(VERSION 3.25)
foreach(required EXE HELP README VERSION STAGE OUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "MakePortable: ${required} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(COPY_FILE "${EXE}" "${STAGE}/Tandrel.exe")
file(COPY_FILE "${HELP}" "${STAGE}/TandrelHelp.chm")

file(READ "${README}" text)
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE "${STAGE}/README.txt" "${bom}${text}")

file(REMOVE "${OUT}")
# A fixed time stamp keeps the archive the same from build to build.
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${OUT}" --format=zip "--mtime=2026-01-01 00:00:00 UTC"
          Tandrel.exe TandrelHelp.chm README.txt
  WORKING_DIRECTORY "${STAGE}"
  RESULT_VARIABLE status ERROR_VARIABLE errors)
# cmake -E tar can report a failure on its error output only.
if(NOT status EQUAL 0 OR errors)
  message(FATAL_ERROR "MakePortable: zipping failed (${status}): ${errors}")
endif()
