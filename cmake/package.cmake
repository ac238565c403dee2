# Builds the portable package OUTPUT (a zip): vexa.exe, the language files, the read-me and the
# licence, each named here. Nothing is gathered from the build folder by pattern: the stand-in
# tools are built there too, and they must never ship.
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DRELEASE=1.0 -DBUILD_NUMBER=2026.1207 -DOUTPUT=x.zip -P package.cmake
foreach(name BUILD_DIR SOURCE_DIR RELEASE BUILD_NUMBER OUTPUT)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "package.cmake: ${name} is not set")
  endif()
endforeach()

set(stage "${OUTPUT}.files")
file(REMOVE_RECURSE "${stage}")
file(REMOVE "${OUTPUT}")
file(MAKE_DIRECTORY "${stage}/Language")

file(COPY_FILE "${BUILD_DIR}/vexa.exe" "${stage}/vexa.exe")
file(GLOB languages "${SOURCE_DIR}/lang/*.ini")
if(NOT languages)
  message(FATAL_ERROR "package.cmake: no language files in ${SOURCE_DIR}/lang")
endif()
file(COPY ${languages} DESTINATION "${stage}/Language")
# Notepad before Windows 10 shows a file with bare line feeds as one line.
configure_file("${SOURCE_DIR}/package/ReadMe.txt.in" "${stage}/ReadMe.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${SOURCE_DIR}/LICENSE" "${stage}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)

get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E tar cf "${OUTPUT}" --format=zip vexa.exe Language ReadMe.txt LICENSE.txt
    WORKING_DIRECTORY "${stage}" RESULT_VARIABLE result)
file(REMOVE_RECURSE "${stage}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "package.cmake: zipping failed (${result})")
endif()
message(STATUS "Package: ${OUTPUT}")
