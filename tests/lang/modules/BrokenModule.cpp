// A loadable library that exports none of the language module's entry points.

extern "C" __attribute__((visibility("default"))) int NotALanguageModule() {
    return 42;
}
