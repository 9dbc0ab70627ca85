# The install layout a Linux desktop expects: the program in bin/, its HID library in a
# private folder under lib/, the run-time files, the menu entry, icons, AppStream data
# and the bundled fonts' licences under share/, and the udev rule where udev reads it.

install(TARGETS tonewright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS MyHidApi LIBRARY DESTINATION ${TW_INSTALL_PRIVATE_LIBDIR})
foreach(folder ${TW_RUNTIME_FOLDERS})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/${folder} DESTINATION ${TW_INSTALL_DATADIR})
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/tonewright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tonewright.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

file(GLOB tw_font_licences ${CMAKE_SOURCE_DIR}/resources/fonts/*.COPYING)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${tw_font_licences}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tonewright)

# The rule follows the install prefix, so an install under a prefix of one's own needs no
# root; a system install (prefix /usr) puts it where this system's udev keeps its rules.
set(tw_udev_rules_dir lib/udev/rules.d)
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  pkg_get_variable(tw_udevdir udev udevdir)
  if(tw_udevdir)
    set(tw_udev_rules_dir ${tw_udevdir}/rules.d)
  endif()
endif()
set(TW_UDEV_RULES_DIR ${tw_udev_rules_dir} CACHE STRING
    "Folder the udev rule is installed to (a relative one lies under the install prefix)")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/70-tonewright.rules DESTINATION ${TW_UDEV_RULES_DIR})

# The program names the installed rule when it tells the user how to open the headset:
# relative to itself when the rule lies under the prefix, else where it was put.
if(IS_ABSOLUTE ${TW_UDEV_RULES_DIR})
  set(tw_installed_rule ${TW_UDEV_RULES_DIR}/70-tonewright.rules)
else()
  file(RELATIVE_PATH tw_installed_rule ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_PREFIX}/${TW_UDEV_RULES_DIR}/70-tonewright.rules)
endif()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/RuntimeFolder.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  "TW_INSTALLED_UDEV_RULE=\"${tw_installed_rule}\""
  "TW_SOURCE_UDEV_RULE=\"${CMAKE_SOURCE_DIR}/packaging/70-tonewright.rules\"")
