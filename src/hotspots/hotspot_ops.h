// The hotspot routines the handlers share: creating, selecting, showing the focus
// values, the face picture, the popup menu's actions and the reset.
#pragma once

#include <wx/gdicmn.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/canvas_store.h"
#include "core/document.h"
#include "core/limits.h"
#include "core/text.h"

class MainWindow;

// The look a hotspot made now gets: the two colour pickers and the slider.
doc::Look currentLook(const MainWindow& window);

// Puts a hotspot on the canvas, appends it to both lists, gives it its face and the
// slider's transparency and selects it. Does nothing while no picture is loaded.
// A rectangle with a negative extent is turned around; one with a zero extent is refused.
void createHotspot(MainWindow& window, int left, int top, int width, int height,
                   const std::string& link, const std::string& tip, bool locked);

// The three colour pickers (the canvas background follows its own) and the
// transparency slider with its number box, as the user would set them: the
// document's settings, which the controls show.
void applyHotspotSettings(MainWindow& window, PackedColour hotspot, PackedColour border,
                          PackedColour background, int transparency);

// Many hotspots at once (opening a project, importing code): each is made as
// createHotspot makes it, but only the last one is shown selected.
inline constexpr const char* kTooManyHotspots = "热点已达 20000 个的上限，不能再添加";
static_assert(limits::kMaxHotspots == 20000, "kTooManyHotspots names the limit");

struct NewHotspot {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string link;
    std::string tip;
    bool locked = false;
};
void createHotspots(MainWindow& window, const std::vector<NewHotspot>& spots);

// Adds a hotspot to the document at `rect` (canvas coordinates, a positive size) and
// list position `index`, showing `number` (its id - 1 when none is given), without
// selecting it; its views follow. Returns its id (its canvas object), 0 when none was made.
int insertHotspot(MainWindow& window, int index, std::optional<int> number, const RectXYWH& rect,
                  const std::string& link, const std::string& tip, bool locked,
                  const doc::Look& look);
// Removes a hotspot from the document, and so its list entry, table row and canvas object.
void removeHotspot(MainWindow& window, int objectId);
// Places a hotspot at `rect` in canvas coordinates; a new size gets a new face in
// the hotspot's own colours. The selection is not touched.
void setHotspotGeometry(MainWindow& window, int objectId, const RectXYWH& rect);
// The hotspot's rectangle on the canvas, from the document through the view.
RectXYWH hotspotRect(const MainWindow& window, int objectId);
// The selected hotspot's canvas object (0 when none is selected), and whether it is locked.
int selectedHotspot(const MainWindow& window);
bool isLockedHotspot(const MainWindow& window, int objectId);
// After hotspots went away: the first one left becomes the selected one, or the
// handles hide when none is left.
void selectFirstOrNone(MainWindow& window);

// Places the eight handles around a rectangle in canvas coordinates and selects the
// hotspot in the document and its list entry and table row (when it has them).
void selectHotspot(MainWindow& window, int top, int bottom, int left, int right, int width,
                   int height, int objectId);
// selectHotspot with the object's rectangle read from the canvas now.
void reselectHotspot(MainWindow& window, int objectId);
// Writes the object's rectangle relative to the picture, and its size, into the six focus boxes.
void showFocusProperties(MainWindow& window, int objectId);

// The face for a new hotspot in the current hotspot and border colours; the result is
// also kept as the last face made.
Bytes makeHotspotFace(MainWindow& window, int width, int height);

// The hotspot list box's selection handler: the chosen entry becomes the selected hotspot.
void onHotspotListSelected(MainWindow& window);
// Asks "你确认删除该热点吗？" and on OK removes the hotspot; the first one left is
// selected then. Menu item 删除 does this for the menu's hotspot, the Delete key
// for the selected one.
void deleteHotspotAsked(MainWindow& window, int objectId);
void deleteMenuTarget(MainWindow& window);
// Menu item 锁定 / 解锁: toggles the menu hotspot's lock as the item's caption says.
void toggleMenuTargetLock(MainWindow& window);

// A right press on the canvas over `object`: opens the hotspot menu over hotspots.
void openHotspotMenu(MainWindow& window, int object);
// How the hotspot menu is shown; the default pops it up at `clientPos` and returns
// when it closes. Tests replace it; an empty function restores the default.
using HotspotMenuPopup = std::function<void(MainWindow& window, const wxPoint& clientPos)>;
void setHotspotMenuPopup(HotspotMenuPopup popup);

inline constexpr const char* kDeleteQuestion = "你确认删除该热点吗？";
inline constexpr const char* kPlaceholderLink = "未添加热点链接";
inline constexpr const char* kPlaceholderTip = "热点提示";
