#ifndef RAVLET_OUTSIDE_VOZAZIVOZA_API_H
#define RAVLET_OUTSIDE_VOZAZIVOZA_API_H
/* The download library "VOZaziVoza.dll" (built as VOZaziVoza.so): keeps a
 * local file in step with the copy published for the installation.
 *
 * Every text argument is a zero-terminated text in the workstation's ANSI
 * code page. Paths may be Windows-style ("D:\Erp\S_PKG\abcS.DLL", drive
 * letters and shares through the platform's drive map) or native
 * ("/opt/erp/S_PKG/abcS.DLL").
 *
 * Message buffers hold VOZAZIVOZA_MESSAGE_SIZE bytes. The library writes at
 * most VOZAZIVOZA_MESSAGE_SIZE - 1 bytes of text followed by a zero byte,
 * cut at a character boundary, and leaves an empty text on success.
 *
 * CompareFileToDown(stamp, local_file)
 *     Not 0 when the published file has to be fetched: the local file is
 *     missing, or the stamp is later than the local file's modification time
 *     (compared to the second, in local time). Stamps are read as
 *     "yyyymmdd", "yyyymmddhhnn" or "yyyymmddhhnnss", or with separators as
 *     "yyyy-mm-dd[ hh:nn[:ss]]" ("-", "/" or "." between the date parts).
 *     An empty or unreadable stamp says nothing about the published file:
 *     only a missing local file is then fetched.
 *
 * VOZaziVozaFileEx(window, server, product, time_limit, remote_archive,
 *                  local_archive, &size, message, &error, flags)
 *     Fetches the published archive: remote_archive names a file in the
 *     published folder, which must be an absolute path; it is copied to
 *     local_archive (its folder is created when missing) through a
 *     temporary file, so a failed copy leaves no partial archive. window,
 *     server, product and flags are accepted and not used; time_limit is the
 *     number of seconds one fetch may take (empty or 0: no limit). size
 *     receives the number of bytes copied, error the system error number of
 *     a failure (0 otherwise). Not 0 on success.
 *
 * UnZipFilesOrDir(archive, target_folder, message, &count)
 *     Unpacks the ZIP archive into the target folder (created when missing),
 *     replacing existing files by renaming a fully written copy over them.
 *     Before anything is written every entry name is checked: a name that is
 *     absolute, starts with a drive letter, holds a ".." segment or a ":", or
 *     a symbolic link whose target leaves the folder, refuses the whole
 *     archive. Nothing is ever written through a symbolic link already found
 *     in the target folder. Unpacked files carry the time they were written,
 *     so that the stamp they were fetched for no longer counts as newer.
 *     count receives the number of entries written. Not 0 on success; an
 *     archive without entries is a failure. */

#ifdef __cplusplus
extern "C" {
#endif

#define VOZAZIVOZA_MESSAGE_SIZE 256

#if defined(__GNUC__)
#define VOZAZIVOZA_API __attribute__((visibility("default")))
#else
#define VOZAZIVOZA_API
#endif

typedef int (*CompareFileToDownProc)(const char* stamp, const char* local_file);
typedef int (*VOZaziVozaFileExProc)(int window, const char* server, const char* product,
                                    const char* time_limit, const char* remote_archive,
                                    const char* local_archive, int* size, char* message, int* error,
                                    int flags);
typedef int (*UnZipFilesOrDirProc)(const char* archive, const char* target_folder, char* message,
                                   int* count);

VOZAZIVOZA_API int CompareFileToDown(const char* stamp, const char* local_file);
VOZAZIVOZA_API int VOZaziVozaFileEx(int window, const char* server, const char* product,
                                    const char* time_limit, const char* remote_archive,
                                    const char* local_archive, int* size, char* message, int* error,
                                    int flags);
VOZAZIVOZA_API int UnZipFilesOrDir(const char* archive, const char* target_folder, char* message,
                                   int* count);

#ifdef __cplusplus
}
#endif

#endif /* RAVLET_OUTSIDE_VOZAZIVOZA_API_H */
