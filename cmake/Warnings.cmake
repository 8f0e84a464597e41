# Strict warnings and Qt's strictness switches for every target of ours.
function(sonorelle_strict target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wnull-dereference -Wimplicit-fallthrough -Wformat=2)
  if(SONORELLE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_UP_TO=0x060400
    SONORELLE_VERSION="${PROJECT_VERSION}"
    SONORELLE_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    SONORELLE_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    SONORELLE_VERSION_PATCH=${PROJECT_VERSION_PATCH})
endfunction()
