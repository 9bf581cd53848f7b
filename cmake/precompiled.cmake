# Precompiled headers: the standard library's and the toolkit's headers most
# sources include, compiled once for each kind of target and reused by every
# target of that kind (a precompiled header serves only compilations whose
# flags match the one that made it).
#
# - logic libraries (the toolkit's core types only: a compilation reuses a
#   precompiled header only when it defines every macro the header was made
#   with, and the toolkit defines one for each of its libraries a target
#   links, so the header of the libraries that link the core alone holds
#   nothing else; nor does a widget header in their code compile) and
#   on-demand modules: tockara_pch_logic;
# - window libraries: tockara_pch_widgets;
# - the test program and its support library: tests/CMakeLists.txt.
set(TOCKARA_PCH_TOOLKIT
  <algorithm> <array> <cmath> <functional> <limits> <memory> <optional> <utility> <vector>
  <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QPoint>
  <QRect> <QSet> <QSize> <QString> <QStringList> <QTimer> <QUrl>)
set(TOCKARA_PCH_WIDGETS
  <QColor> <QImage>
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QFrame> <QKeyEvent> <QLabel>
  <QLineEdit> <QMenu> <QMouseEvent> <QPainter> <QPushButton> <QScreen> <QWidget>)

# The carriers: libraries of one empty source that only make the headers,
# with the flags of the libraries that reuse them.
foreach(kind logic widgets)
  set(carrier tockara_pch_${kind})
  file(WRITE ${PROJECT_BINARY_DIR}/${carrier}.cpp "// The precompiled headers of ${kind} libraries.\n")
  add_library(${carrier} STATIC ${PROJECT_BINARY_DIR}/${carrier}.cpp)
  set_target_properties(${carrier} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_compile_options(${carrier} PRIVATE ${TOCKARA_WARNINGS})
endforeach()
target_link_libraries(tockara_pch_logic PRIVATE Qt6::Core)
target_precompile_headers(tockara_pch_logic PRIVATE ${TOCKARA_PCH_TOOLKIT})
target_link_libraries(tockara_pch_widgets PRIVATE Qt6::Widgets)
target_precompile_headers(tockara_pch_widgets PRIVATE ${TOCKARA_PCH_TOOLKIT} ${TOCKARA_PCH_WIDGETS})

# Has target reuse the precompiled headers of its kind: widgets when it
# links the toolkit's widgets (among deps), logic otherwise.
function(tockara_reuse_pch target)
  if("Qt6::Widgets" IN_LIST ARGN)
    target_precompile_headers(${target} REUSE_FROM tockara_pch_widgets)
  else()
    target_precompile_headers(${target} REUSE_FROM tockara_pch_logic)
  endif()
endfunction()
