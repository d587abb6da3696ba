# Qt's safety switches for every target of ours (the vendored parser is C and
# builds without them): a QUrl only from an explicit conversion, since an
# implicit one reads a local path as a relative URL; no silent conversion of a
# QString to bytes; none of the API Qt deprecated up to 6.4.
add_library(zq_qt_safety INTERFACE)
target_compile_definitions(zq_qt_safety INTERFACE
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_CAST_TO_ASCII
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
