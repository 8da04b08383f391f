/* A DLL that tests plant where the program must not take DLLs from; its export tells it
   apart from the system's DLL of the same name. */
#include <windows.h>

__declspec(dllexport) int KelvornPlanted(void) {
    return 1;
}
