# An installed prefix has the same relative layout as the build tree.
install(TARGETS OstrivanMediaViewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${OSTRIVAN_SHARE_DIR}/ DESTINATION ${OSTRIVAN_SHARE_SUBDIR} USE_SOURCE_PERMISSIONS)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ostrivan-media-viewer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ViewerMark.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME ostrivan-media-viewer.png)
