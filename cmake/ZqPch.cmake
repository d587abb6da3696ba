# Precompiled headers for a build from scratch, as CI makes one: Qt's headers, which are most of
# what each file's compiler reads, are read once per library and once per group of tests that link
# the same libraries, instead of once per file. A compiler launcher such as ccache keeps whole
# objects instead, and does not mix well with precompiled headers, so they are off there.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(zq_pch_default OFF)
else()
  set(zq_pch_default ON)
endif()
option(ZQ_PCH "Precompile Qt's headers" ${zq_pch_default})
# A header that cannot be used is read as text instead: slower, never wrong, and no reason to stop.
set(CMAKE_PCH_WARN_INVALID OFF)

set(ZQ_PCH_CORE <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QString>
    <QStringList> <QVector>)
set(ZQ_PCH_GUI ${ZQ_PCH_CORE} <QImage> <QPainter>)
set(ZQ_PCH_WIDGETS ${ZQ_PCH_GUI} <QAction> <QApplication> <QDialog> <QGraphicsView> <QLabel>
    <QMainWindow> <QMenu> <QPushButton> <QTabWidget> <QTimer> <QWidget>)

# A library's own precompiled headers; Kind is CORE, GUI or WIDGETS, after the Qt modules it links.
function(zq_precompile target kind)
  if(ZQ_PCH)
    target_precompile_headers(${target} PRIVATE ${ZQ_PCH_${kind}})
  endif()
endfunction()

# A test executable takes the headers of the tests in its folder that link the same libraries: one
# object library per group compiles them, with the tests' own flags (Qt's test library defines the
# folder's paths, so a header made for one folder is no use in another).
function(zq_precompile_for_executable target)
  if(NOT ZQ_PCH)
    return()
  endif()
  set(libs ${ARGN})
  set(kind CORE)
  foreach(lib IN LISTS libs)
    if(lib MATCHES "^(editor|shell|regions|support|webview|appdialogs|Qt6::Widgets)$")
      set(kind WIDGETS)
    elseif(kind STREQUAL "CORE" AND lib MATCHES "^(mapcheck|tracing|Qt6::Gui)$")
      set(kind GUI)
    endif()
  endforeach()
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  string(MAKE_C_IDENTIFIER "zq_pch_${folder}_${libs}" group)
  if(NOT TARGET ${group})
    add_library(${group} OBJECT "${PROJECT_SOURCE_DIR}/cmake/ZqPch.cpp")
    set_target_properties(${group} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_link_libraries(${group} PRIVATE Qt6::Test ${libs})
    target_include_directories(${group} PRIVATE "${PROJECT_SOURCE_DIR}/tests/common")
    target_compile_definitions(${group} PRIVATE ZQ_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
                                                ZQ_APP_DIR="${ZQ_APP_DIR}")
    target_precompile_headers(${group} PRIVATE <QtTest> ${ZQ_PCH_${kind}})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${group})
endfunction()
