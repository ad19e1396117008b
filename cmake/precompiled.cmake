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

# The tests' and benches' own debug information is kept to lines and
# functions (a backtrace still names them): full information for every test
# made a quarter of its compile time and was never read. The program and its
# library keep the flags they are built with; a build without debug
# information gets none here either.
set(PLATINE_TEST_DEBUG_OPTIONS)
string(TOUPPER "${CMAKE_BUILD_TYPE}" platine_build_type)
if(" ${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${platine_build_type}} " MATCHES " -g[123]? ")
    set(PLATINE_TEST_DEBUG_OPTIONS -g1)
endif()

# platine_use_test_header(<target>): a test, bench or campaign takes its
# lighter debug information and, when it stands in the tests' folder, the
# precompiled headers of the tests' support library. Qt Test defines each
# target's own folders (QT_TESTCASE_BUILDDIR, QT_TESTCASE_SOURCEDIR), so a
# bench or the fault campaign could not use them: the compiler would warn
# and parse every header of the list instead.
function(platine_use_test_header target)
    get_target_property(support_dir platine_test_support SOURCE_DIR)
    get_target_property(own_dir ${target} SOURCE_DIR)
    if(own_dir STREQUAL support_dir)
        target_precompile_headers(${target} REUSE_FROM platine_test_support)
    endif()
    target_compile_options(${target} PRIVATE ${PLATINE_TEST_DEBUG_OPTIONS})
endfunction()
