// Keeps every subsystem library non-empty while its folder is still being filled.
