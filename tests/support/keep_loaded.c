/* Linked into every program of the sanitizer build. Mesa's driver is unloaded when the
 * process ends, before the leak checker runs, and its leaks would then come from an
 * unknown module; keeping every library loaded lets tests/lsan.supp name the driver. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
