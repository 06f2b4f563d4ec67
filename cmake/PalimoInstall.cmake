# Installation of the libraries beside the loader, each as a component of the
# CMake package PalimoXSDDictionaryLoader and with a pkg-config file.
#
# palimo_install_library(<target> COMPONENT <Name> DESCRIPTION <text>
#                        [PKG_CONFIG_LIBS <flag>...])
#   Installs <target> as libPalimo<Name> with the headers of the include/
#   folder beside its CMakeLists.txt, exports it as Palimo::<Name> in the
#   component <Name> (find_package(PalimoXSDDictionaryLoader COMPONENTS
#   <Name>)) and writes Palimo<Name>.pc. The components of the libraries it
#   links come with it, in the package and in the pkg-config file: install
#   those first. PKG_CONFIG_LIBS are flags that a pkg-config host needs
#   besides the libraries (those of a system library without a .pc file).
#
# palimo_install_pkg_config(<template> <Name>)
#   Writes <template> (configured at install time, so that the prefix is the
#   installation's, also when --prefix overrides it) as pkgconfig/<Name>.pc.
#   The template may use CMAKE_INSTALL_PREFIX, CMAKE_INSTALL_LIBDIR,
#   CMAKE_INSTALL_INCLUDEDIR, CMAKE_INSTALL_DATADIR, PROJECT_VERSION and the
#   variables named after VARIABLES.
#
# palimo_package_components(<variable>)
#   Sets <variable> to the CMake code by which the package configuration
#   knows each component and the components it needs, in the order to load.
#
# Uses PALIMO_INSTALL_CMAKEDIR (where the package files go).

set(PALIMO_INSTALL_TEMPLATES ${CMAKE_CURRENT_LIST_DIR})

function(palimo_install_pkg_config template name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "VARIABLES")
  set(settings "")
  foreach(variable IN ITEMS CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_DATADIR
      PROJECT_VERSION ${arg_VARIABLES})
    string(APPEND settings "set(${variable} \"${${variable}}\")\n")
  endforeach()
  set(file "${CMAKE_INSTALL_LIBDIR}/pkgconfig/${name}.pc")
  install(CODE "
    set(CMAKE_INSTALL_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    ${settings}
    configure_file(\"${template}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\" @ONLY)
    message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\")
  ")
endfunction()

function(palimo_install_library target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "COMPONENT;DESCRIPTION" "PKG_CONFIG_LIBS")
  if(NOT arg_COMPONENT OR NOT arg_DESCRIPTION)
    message(FATAL_ERROR "palimo_install_library(${target}): COMPONENT and DESCRIPTION are needed")
  endif()
  set(component ${arg_COMPONENT})

  # The components of the libraries it links, theirs first.
  set(needed "")
  set(requires "")
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(link IN LISTS links)
    if(NOT TARGET ${link})
      continue()
    endif()
    get_target_property(aliased ${link} ALIASED_TARGET)
    if(aliased)
      set(link ${aliased})
    endif()
    get_property(dependency GLOBAL PROPERTY PALIMO_COMPONENT_OF_${link})
    if(dependency)
      get_property(dependency_needs GLOBAL PROPERTY PALIMO_COMPONENT_NEEDS_${dependency})
      list(APPEND needed ${dependency_needs} ${dependency})
      list(APPEND requires "Palimo${dependency} = ${PROJECT_VERSION}")
    elseif(link MATCHES "^palimo_" AND NOT link MATCHES "^palimo_(core|xmlutils|loader)$")
      message(FATAL_ERROR "palimo_install_library(${target}): it links ${link}, which is not "
                          "installed; install ${link} first")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES needed)
  set_property(GLOBAL PROPERTY PALIMO_COMPONENT_OF_${target} ${component})
  set_property(GLOBAL PROPERTY PALIMO_COMPONENT_NEEDS_${component} ${needed})
  set_property(GLOBAL APPEND PROPERTY PALIMO_COMPONENTS ${component})

  set_target_properties(${target} PROPERTIES OUTPUT_NAME Palimo${component}
    EXPORT_NAME ${component})
  install(TARGETS ${target}
    EXPORT PalimoXSDDictionaryLoader${component}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  get_target_property(source_dir ${target} SOURCE_DIR)
  install(DIRECTORY ${source_dir}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(EXPORT PalimoXSDDictionaryLoader${component}Targets
    NAMESPACE Palimo::
    DESTINATION ${PALIMO_INSTALL_CMAKEDIR})

  # Every library needs the loader's package (the platform libraries).
  list(APPEND requires "PalimoXSDDictionaryLoader = ${PROJECT_VERSION}")
  list(JOIN requires ", " PALIMO_PC_REQUIRES)
  list(JOIN arg_PKG_CONFIG_LIBS " " PALIMO_PC_LIBS)
  if(PALIMO_PC_LIBS)
    string(PREPEND PALIMO_PC_LIBS " ")
  endif()
  set(PALIMO_PC_NAME Palimo${component})
  set(PALIMO_PC_DESCRIPTION "${arg_DESCRIPTION}")
  palimo_install_pkg_config(${PALIMO_INSTALL_TEMPLATES}/PalimoLibrary.pc.in Palimo${component}
    VARIABLES PALIMO_PC_NAME PALIMO_PC_DESCRIPTION PALIMO_PC_REQUIRES PALIMO_PC_LIBS)
endfunction()

function(palimo_package_components variable)
  get_property(components GLOBAL PROPERTY PALIMO_COMPONENTS)
  set(code "set(_palimo_components ${components})\n")
  foreach(component IN LISTS components)
    get_property(needs GLOBAL PROPERTY PALIMO_COMPONENT_NEEDS_${component})
    string(APPEND code "set(_palimo_needs_${component} ${needs})\n")
  endforeach()
  set(${variable} "${code}" PARENT_SCOPE)
endfunction()
