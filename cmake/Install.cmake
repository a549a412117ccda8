# What `cmake --install` puts under the prefix: the program, the shared libraries it loads (the
# three that ship for other programs too, and the two they and the program stand on), the public
# headers of the three shipped libraries, and a desktop entry with its icon so that the program
# appears in a desktop's menu. The program finds its libraries through a run path relative to
# itself, so the installed tree can be moved as a whole.
include(GNUInstallDirs)

set_target_properties(vantrel PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
foreach(lib msgdesk sheetwright formshift formcast32 vtgui vtbase)
  set_target_properties(${lib} PROPERTIES INSTALL_RPATH "$ORIGIN")
endforeach()

install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS msgdesk sheetwright formshift formcast32 vtgui vtbase
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The public headers keep their folder names, as code that uses them includes "msgdesk/Msgdesk.h".
install(FILES msgdesk/Msgdesk.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/msgdesk)
install(FILES sheetwright/Sheetwright.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/sheetwright)
install(FILES formshift/CFileConverter.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/formshift)
install(FILES formcast32/Formcast32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/formcast32)
install(FILES platform/base/Export.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/platform/base)

install(FILES share/vantrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES share/vantrel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
