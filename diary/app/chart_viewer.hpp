#pragma once
// The chart viewer FORM2 on the screen: loading an image into the source bitmap, the
// scaled display copy, the layout of the picture and its scroll bars, the blit into
// PICTURE1, dragging, the title, the folder list and the three button layouts. The
// arithmetic is diary/viewer's; this only moves its results into the controls.

#include "diary/app/diary_state.hpp"

namespace diary {

// Start-up: the two 400 x 300 bitmaps and the picture area before the first layout.
void createViewerBitmaps(Diary& d);
// The end: both bitmap objects released.
void deleteViewerBitmaps(Diary& d);

// Loads the image path into the source bitmap and scales it. A failure is reported with
// the image name as title; then the viewer falls back once to the previous path. When
// nothing could be loaded the viewer holds no image and shows none.
void PX$LOAD_BMP(Diary& d);
void PX$BAI_SUB(Diary& d);
void PX$WIN_SAIZU_SUB(Diary& d);
void PX$SCROLL_XD_SUB(Diary& d);
void PX$SCROLL_YD_SUB(Diary& d);
void PX$CG_UP_SUB(Diary& d);
void PX$CG_ON_SUB(Diary& d);
void PX$TITLE_SET(Diary& d);

// The image folder's "*.BMP" and "*.JPG" files: their count, and the sorted list.
int PV$ファイル名取得_SUB1(Diary& d);
void PV$ファイル名取得_SUB2(Diary& d);

// The button layouts of trade, catalogue and review mode.
void PV$SETCGBUTTON_SUB0(Diary& d);
void PV$SETCGBUTTON_SUB1(Diary& d);
void PV$SETCGBUTTON_SUB2(Diary& d);

// Every action that shows an image: load, title, full refresh.
void showImage(Diary& d);
// Shows the viewer on the image path with the folder list of the image folder.
void openOnTradeImage(Diary& d);

// The handlers' work.
void viewerScrolled(Diary& d, bool horizontal);
void PX$BUTTON1_ON(Diary& d);
void pictureMouseDown(Diary& d, int button, float x, float y);
void pictureMouseMove(Diary& d, int button, float x, float y);
// "登録", "消去", "終了" and the close box: the viewer is hidden before their command runs.
void hideViewer(Diary& d);

}  // namespace diary
