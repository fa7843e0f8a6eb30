// The views of the document on the main window: each hotspot's canvas object, its
// list box entry and its table row, and the colour pickers with the transparency.
// They are redrawn from every change the document reports.
#pragma once

#include "core/document.h"
#include "core/view_transform.h"

class MainWindow;

class DocumentView : public doc::Observer {
  public:
    explicit DocumentView(MainWindow& window) : window_(window) {}

    void hotspotAdded(int index, const doc::Hotspot& h) override;
    void hotspotRemoved(int index, const doc::Hotspot& h) override;
    void hotspotChanged(int index, const doc::Hotspot& before, const doc::Hotspot& now) override;
    void settingsChanged(const doc::Settings& before) override;
    void cleared(const std::vector<doc::Hotspot>& gone) override;

  private:
    void showSelectedRow();
    // Hotspots of one size and look share one face: a project of many opens quickly.
    Picture face(int width, int height, const doc::Look& look);
    MainWindow& window_;
    struct {
        int width = 0, height = 0;
        PackedColour fill = 0, border = 0;
        Picture picture;
    } lastFace_;
};

// The canvas's view of the picture: its offset is where the picture object is.
ViewTransform canvasView(const MainWindow& window);

// The picture moved on the canvas: every hotspot's object follows it.
void followPicture(MainWindow& window);

// The pickers, the slider, its number box and the canvas background show `s`.
void showSettings(MainWindow& window, const doc::Settings& s);
// The settings as the pickers and the slider show them now.
doc::Settings settingsShown(const MainWindow& window);
