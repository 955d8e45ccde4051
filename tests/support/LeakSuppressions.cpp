// The font library keeps a cache for the life of the process that it frees only on an explicit
// shutdown, which Qt does not make; the leak checker of the sanitizer build is told so. Ordinary
// builds never call this.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
