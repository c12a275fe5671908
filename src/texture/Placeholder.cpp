// Replaced by the texture model sources.
