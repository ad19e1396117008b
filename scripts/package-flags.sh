# Sourced by scripts/setup.sh and scripts/package.sh: the CMake arguments of
# a build the Debian package is made of. Debian's flags (dpkg-buildflags:
# optimisation, fortified functions, stack protector, read-only relocations
# bound at start) and nothing on top of them, as Debian's own CMake packages
# are built (build type None); the /usr prefix; ccache when there is one.
# No debug information: the package's install strips the programs, and no
# debug package is made, so it was compiled for nothing.
command -v dpkg-buildflags >/dev/null || {
    echo "dpkg-buildflags missing (scripts/setup.sh installs dpkg-dev)" >&2
    exit 1
}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
package_cmake_args=(
    -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON
)
command -v ccache >/dev/null && package_cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
