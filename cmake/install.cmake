# Install rules and the packages an application builds against:
#   include/lumtree/      lumtree.h, lumtreex.h
#   bin/RyTree32.dll      the control (with its version resource)
#   lib/libRyTree32.dll.a import library for MinGW
#   lib/RyTree32.def      every export, for other toolchains' import-library tools
#   lib/cmake/LumTree/    find_package(LumTree) -> imported target LumTree::RyTree32
#   lib/pkgconfig/lumtree.pc
# A prefix holds one architecture; the package version file refuses a prefix built for the other
# pointer size, so find_package(LumTree) in an x86 project never picks up an x64 install.
include(CMakePackageConfigHelpers)

set(LUMTREE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/LumTree)

install(TARGETS RyTree32 EXPORT LumTreeTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${CMAKE_SOURCE_DIR}/lumtree/lumtree.h ${CMAKE_SOURCE_DIR}/lumtree/lumtreex.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lumtree)

# The installed .def is the one the DLL is linked with, so it lists exactly the DLL's exports
# (the x86 one with the __stdcall decorations an import library needs to resolve them).
configure_file(${LUMTREE_DEF} ${CMAKE_BINARY_DIR}/package/RyTree32.def COPYONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/RyTree32.def DESTINATION ${CMAKE_INSTALL_LIBDIR})

install(EXPORT LumTreeTargets NAMESPACE LumTree:: DESTINATION ${LUMTREE_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/LumTreeConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/package/LumTreeConfig.cmake
                              INSTALL_DESTINATION ${LUMTREE_CMAKE_DIR}
                              PATH_VARS CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/LumTreeConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/LumTreeConfig.cmake
              ${CMAKE_BINARY_DIR}/package/LumTreeConfigVersion.cmake
        DESTINATION ${LUMTREE_CMAKE_DIR})

configure_file(${CMAKE_SOURCE_DIR}/cmake/lumtree.pc.in ${CMAKE_BINARY_DIR}/package/lumtree.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/lumtree.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
