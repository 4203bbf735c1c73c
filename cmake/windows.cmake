# The Windows program: filled in with the Win32 backend.
