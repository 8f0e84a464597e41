# The core layer (and the command line above it) uses QtCore only. Its files find the
# headers in core-guard/ before Qt's own: each stands in for the header every Qt Gui,
# Widgets or Multimedia header includes first, and stops the build with a message.
set(SONORELLE_CORE_GUARD ${CMAKE_CURRENT_LIST_DIR}/core-guard)

function(sonorelle_core_layer target)
  target_include_directories(${target} BEFORE PRIVATE ${SONORELLE_CORE_GUARD})
endfunction()
