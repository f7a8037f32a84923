# Read by CPack for each package it makes (CPACK_PROJECT_CONFIG_FILE): the zip holds the
# roller's folder as Kelvarro/; the installer puts its contents into the folder it installs.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGING_INSTALL_PREFIX /Kelvarro)
endif()
