# Installs the Python module lum; run by cmake --install with the variables
# set just before it in CMakeLists.txt. The module goes where Debian's python3
# finds modules: lib/python3/dist-packages under the system prefix /usr, the
# version's dist-packages under any other (/usr/local), unless
# LUM_PYTHON_INSTALL_DIR names another folder under the prefix. Its
# _location.py names the library's folders relative to the package, so that a
# staged (DESTDIR) or relocated installation keeps working.
set(dir "${LUM_PYTHON_DIR}")
if(NOT dir AND CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(dir lib/python3/dist-packages)
elseif(NOT dir)
  set(dir lib/python${LUM_PYTHON_VERSION}/dist-packages)
endif()

set(libdirs "")
foreach(libdir IN LISTS LUM_LIBDIRS)
  file(RELATIVE_PATH relative "/prefix/${dir}/lum" "/prefix/${libdir}")
  if(NOT libdirs MATCHES "\"${relative}\"")
    string(APPEND libdirs "\"${relative}\", ")
  endif()
endforeach()
file(WRITE "${LUM_STAGING}/_location.py"
     "# Where this copy of the module looks for libLUMDLL; written by the installation.\n"
     "LIBRARY_NAME = \"${LUM_SONAME}\"\n"
     "BUILD_TREE_LIBRARY = None\n"
     "INSTALLED_LIBRARY_DIRS: tuple[str, ...] = (${libdirs})\n")
file(INSTALL ${LUM_MODULE_FILES} "${LUM_STAGING}/_location.py" DESTINATION "${CMAKE_INSTALL_PREFIX}/${dir}/lum")
