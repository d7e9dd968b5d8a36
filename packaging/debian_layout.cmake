# Read by cpack once per package it makes. A Debian package puts the game
# where Debian puts games; the install rules read the choice when they run.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(ENV{KB_INSTALL_LAYOUT} debian)
endif()
