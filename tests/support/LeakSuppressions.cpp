// The font library keeps a cache for the life of the process that it frees only on an explicit
// shutdown, which Qt does not make; the leak checker of the sanitizer build is told so. Ordinary
// builds never call this.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// The leak checker of this compiler takes a thread-local block that a library loaded at run time
// gets from malloc (the JPEG library, when a printed page stores a pattern) for one of an old C
// library whenever the block happens to start 16 bytes into a page, reads a range of several
// gigabytes from the word before it and crashes when the program ends; where the block lands depends
// on everything allocated before it. Not following such blocks leaves them what they are to the
// leak checker, heap reached from the thread's own data. Options given in ASAN_OPTIONS still apply
// on top.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
