# Copies the help pages into the program's help folder with the program's version written in.
# cmake -DSORGENTE=dir -DDESTINAZIONE=dir -DVERSIONE=x.y.z -P CopiaHelp.cmake
file(GLOB pagine RELATIVE ${SORGENTE} ${SORGENTE}/*)
file(MAKE_DIRECTORY ${DESTINAZIONE})
foreach(p ${pagine})
  if(p MATCHES "\\.html$")
    configure_file(${SORGENTE}/${p} ${DESTINAZIONE}/${p} @ONLY)
  else()
    configure_file(${SORGENTE}/${p} ${DESTINAZIONE}/${p} COPYONLY)
  endif()
endforeach()
