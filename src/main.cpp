#include "app/app.h"

wxIMPLEMENT_APP(HotspotApp);
