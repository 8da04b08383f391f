/* Planted where no DLL may be taken from; its export tells it from the system's. */
__declspec(dllexport) int KelvornPlanted(void) {
    return 1;
}
