// The single program-wide record of working state.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/text.h"

struct Point {
    int x = 0;
    int y = 0;
};

struct RectXYWH {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

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
    long canvasHandle = 0;
    Point dragAnchor;
    int pictureLastLeft = 0;
    int pictureLastTop = 0;

    int drawOverlayOpen = 0;
    int overlayWidth = 0;
    int overlayHeight = 0;
    Bytes overlaySnapshot;
    int overlayMouseDown = 0;
    int overlayStartX = 0;
    int overlayStartY = 0;
    int overlayEndX = 0;
    int overlayEndY = 0;
    RectXYWH drawnRect;

    std::vector<int> hotspotObjects;  // every hotspot made since the last reset
    Bytes hotspotBitmap;              // the last face rendered
    int menuTargetObject = 0;
    int infoDialogMode = 0;
    std::string editOldLink;
    std::string editOldTip;
    std::string dialogLink;
    std::string dialogTip;

    std::string previewDocumentText;
    std::string previewDocumentPath;
    std::string previewPictureFile;
    std::string codeImageAddress;
    // The picture (imagePath) that codeImageAddress was typed or saved for.
    std::string codeImageAddressPicture;

    std::atomic<int> repaintStop{0};
};
