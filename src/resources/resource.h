/* Resource ids and built-in texts, shared by the resource script and the
   program. Kept to what the resource compiler's preprocessor understands. */
#ifndef KESTAVO_RESOURCE_H
#define KESTAVO_RESOURCE_H

#define IDR_MAINFRAME 128
#define IDD_SETUP_PROGRESS 102
#define IDD_SPLASH 134
#define IDD_RESTART 135
#define IDD_BILLBOARD 142
#define IDD_LANGUAGE 144
#define IDC_LANGUAGE_LIST 1005
#define IDS_SOCKETS_INIT_FAILED 103

#define IDC_PROGRESS_MESSAGE 1004
#define IDC_PROGRESS_BAR 1009
#define IDC_PROGRESS_FRAME 1000
#define IDC_SPLASH_PLACEHOLDER 1001
#define IDC_SPLASH_ANIMATION 1002
#define IDC_SPLASH_HTML 1003
#define IDC_BILLBOARD_PLACEHOLDER 1001

#define KV_PRODUCT_TITLE "Morlenby Kestavo"
/* \256 is the registered sign in the Windows ANSI code page. */
#define KV_TEXT_PREPARING                                                  \
    "Setup is preparing the Kestavo\256 which will guide you through the " \
    "application setup process. Please wait."
#define KV_TEXT_CANCEL "Cancel"
#define KV_TEXT_SOCKETS_FAILED "Windows sockets initialization failed."

#endif
