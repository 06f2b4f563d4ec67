# Finds XQilla and defines the imported target XQilla::XQilla.
find_path(XQilla_INCLUDE_DIR NAMES xqilla/xqilla-dom3.hpp)
find_library(XQilla_LIBRARY NAMES xqilla)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(XQilla REQUIRED_VARS XQilla_LIBRARY XQilla_INCLUDE_DIR)
if(XQilla_FOUND AND NOT TARGET XQilla::XQilla)
  add_library(XQilla::XQilla UNKNOWN IMPORTED)
  set_target_properties(XQilla::XQilla PROPERTIES
    IMPORTED_LOCATION "${XQilla_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${XQilla_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES XercesC::XercesC)
endif()
mark_as_advanced(XQilla_INCLUDE_DIR XQilla_LIBRARY)
