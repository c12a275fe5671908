// Replaced by the scene model sources.
