// Stands in front of Qt's own header for the core layer, which must not use QtWidgets.
#error "The core layer (songdata, adding, audio, lang, app) uses QtCore only; QtWidgets belongs to the user interface or the platform."
