; The installer's /PATH=1: a silent install (/S) shows no options page, where the folder is put
; on PATH, so the command line asks for it, as the page's "Add lapwing to the system PATH for
; all users" does. Recorded for the uninstaller, which takes the folder off PATH again.
${GetParameters} $R0
ClearErrors
${GetOptions} $R0 "/PATH=" $R1
StrCmp $R1 "1" 0 lapwingPathOptionDone
  StrCpy $DO_NOT_ADD_TO_PATH "0"
  StrCpy $ADD_TO_PATH_ALL_USERS "1"
  StrCpy $ADD_TO_PATH_CURRENT_USER "0"
  Push "DoNotAddToPath"
  Push "0"
  Call ConditionalAddToRegistry
  Push "AddToPathAllUsers"
  Push "1"
  Call ConditionalAddToRegistry
lapwingPathOptionDone:
; CPack's AddToPath leaves out a folder already on the installer's own PATH, which an update
; inherited from before the earlier version's uninstaller took the folder off: the registry's
; PATH is what counts, so the installer's own is made that.
ReadRegStr $R2 HKLM "SYSTEM\CurrentControlSet\Control\Session Manager\Environment" "PATH"
ReadRegStr $R3 HKCU "Environment" "PATH"
System::Call 'kernel32::SetEnvironmentVariable(t "PATH", t "$R2;$R3")'
