# Qt's headers, parsed once per target rather than once per file: they are
# most of what a file of the window library or a test costs to compile.
# Only the headers many files include are listed; a file still includes what
# it uses, and -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them (to
# find a file that forgot an include).
set(PLATINE_PRECOMPILED_HEADERS
    <QtCore/QString> <QtCore/QStringList> <QtCore/QByteArray> <QtCore/QDateTime>
    <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo> <QtCore/QTimer>
    <QtCore/QAbstractTableModel>
    <QtGui/QPainter>
    <QtWidgets/QApplication> <QtWidgets/QWidget> <QtWidgets/QLabel> <QtWidgets/QLineEdit>
    <QtWidgets/QComboBox> <QtWidgets/QCheckBox> <QtWidgets/QPushButton> <QtWidgets/QGroupBox>
    <QtWidgets/QTableView> <QtWidgets/QHeaderView> <QtWidgets/QMenuBar> <QtWidgets/QMenu>
    <algorithm> <functional> <memory> <optional> <string> <string_view> <vector>)

# What the tests and benches add: Qt Test and the temporary folders.
set(PLATINE_TEST_PRECOMPILED_HEADERS ${PLATINE_PRECOMPILED_HEADERS}
    <QtCore/QTemporaryDir> <QtTest/QTest> <QtTest/QSignalSpy>)

# The code of the tests, the benches and the fault campaign is compiled for
# its compile time (-Og: about a third less than -O2, and still defining
# __OPTIMIZE__, which the package's fortified functions need), its debug
# information kept to lines and functions (a backtrace still names them):
# full information for every test made a quarter of its compile time and
# was never read. The code they test, the program's library, keeps the
# flags the build gives it, and so do the benches where they are measured
# (bench/CMakeLists.txt). They link with gold where the compiler has it (a test's
# link: 1.0 s with the default linker, 0.15 s with gold).
set(PLATINE_TEST_OPTIONS -Og)
string(TOUPPER "${CMAKE_BUILD_TYPE}" platine_build_type)
if(" ${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${platine_build_type}} " MATCHES " -g[123]? ")
    list(APPEND PLATINE_TEST_OPTIONS -g1)
endif()
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=gold PLATINE_HAS_GOLD)

# platine_use_test_header(<target> [HOST <pch target>] [OWN_FLAGS]): a test,
# bench or campaign takes the options above (not with OWN_FLAGS: a bench
# measured keeps the program's) and the precompiled headers of a target
# of its own folder: Qt Test defines each folder's own paths
# (QT_TESTCASE_BUILDDIR, QT_TESTCASE_SOURCEDIR), so a header precompiled in
# another folder would be refused and every header of the list parsed
# instead. The tests reuse the tests' support library's; the benches, the
# first bench's (HOST). The file of moc outputs CMake makes for each target
# stays without them: a test includes its own moc output, which leaves that
# file empty, and loading the precompiled headers for it took 1.2 s.
function(platine_use_test_header target)
    cmake_parse_arguments(arg "OWN_FLAGS" "HOST" "" ${ARGN})
    get_target_property(support_dir platine_test_support SOURCE_DIR)
    get_target_property(own_dir ${target} SOURCE_DIR)
    if(arg_HOST AND NOT arg_HOST STREQUAL target)
        target_precompile_headers(${target} REUSE_FROM ${arg_HOST})
    elseif(arg_HOST)
        target_precompile_headers(${target} PRIVATE ${PLATINE_TEST_PRECOMPILED_HEADERS})
    elseif(own_dir STREQUAL support_dir)
        target_precompile_headers(${target} REUSE_FROM platine_test_support)
    endif()
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
        PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    if(NOT arg_OWN_FLAGS)
        target_compile_options(${target} PRIVATE ${PLATINE_TEST_OPTIONS})
        if(PLATINE_HAS_GOLD)
            target_link_options(${target} PRIVATE -fuse-ld=gold)
        endif()
    endif()
endfunction()
