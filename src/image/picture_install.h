// Bringing a picture in: from the open-file dialog, a drop on the canvas or a
// network address, and installing it on the canvas with its size in the status bar.
#pragma once

#include <wx/string.h>

#include <functional>
#include <string>
#include <vector>

#include "core/text.h"
#include "platform/http.h"

class MainWindow;
class wxProgressDialog;

// Installs state.imageData as a new canvas object at (0, 0) and makes it the current
// picture: pictureObject, imageWidth, imageHeight and status panes 1, 3 and 5.
// Bytes that do not decode are refused with a message, and nothing changes. The
// decode runs on a worker thread (see decode_wait.h); this returns once it is over.
bool installPicture(MainWindow& window);

// Makes `data`, read from `path`, the current picture: only when it decodes are
// imagePath and imageData set (and lastPickedPath, when given), the picture
// installed, the canvas focused and 按钮载入 disabled. Otherwise the user is told
// why and nothing changes.
bool bringInPicture(MainWindow& window, const std::string& path, Bytes data,
                    const std::string* lastPicked);

// The handlers: 按钮载入 clicked, files dropped on the canvas, the network branch
// (its input box starts with `initial`).
void runLoadHandler(MainWindow& window);
void dropFiles(MainWindow& window, const std::vector<wxString>& files);
void loadNetworkPicture(MainWindow& window, const wxString& initial = "http://");

// Reads a local picture file and brings it in; a file that cannot be read or
// decoded is reported and nothing changes.
bool loadLocalPicture(MainWindow& window, const wxString& path, const std::string* lastPicked);
// Checks a network address, downloads it with the progress box and brings it in.
bool loadNetworkAddress(MainWindow& window, const std::string& address);
// The open-file dialog 通用对话框1; false when it was cancelled.
bool pickPictureFile(MainWindow& window, wxString& path);

// Reads a whole file; false with the message to show when it cannot be read.
bool readPictureFile(const wxString& path, Bytes& out, std::string& error);

// The open-file dialog 通用对话框1: its title, its filter and the folder it opens in.
extern const char* const kOpenDialogTitle;
wxString openDialogWildcard();
wxString openDialogFolder(const std::string& lastPickedPath);

// Download limits of the network branch; tests shorten the time-out.
platform::DownloadLimits& downloadLimits();

// Called after every update of the download's progress box; tests act on the box here.
std::function<void(wxProgressDialog& box)>& downloadProgressHook();
