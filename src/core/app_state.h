// The single program-wide record of working state.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/text.h"

struct AppState {
    // Where the current picture came from: local path or the network address as typed.
    std::string imagePath;
    Bytes imageData;
    int imageWidth = 0;
    int imageHeight = 0;
    int loadMode = 0;  // 0 local, 1 network
    std::string lastPickedPath;
    int loadDialogCancelled = 0;

    int pictureObject = 0;  // canvas object of the picture, 0 = none
    Point dragAnchor;

    int drawOverlayOpen = 0;
    Bytes overlaySnapshot;
    int overlayMouseDown = 0;
    int overlayStartX = 0;
    int overlayStartY = 0;
    int overlayEndX = 0;
    int overlayEndY = 0;
    RectXYWH drawnRect;

    int menuTargetObject = 0;
    std::string editOldLink;
    std::string editOldTip;
    std::string dialogLink;
    std::string dialogTip;

    std::string previewDocumentText;
    std::string previewDocumentPath;
    // The picture (imagePath) that the document's code address was typed or saved for.
    std::string codeImageAddressPicture;

    std::atomic<int> repaintStop{0};
};
