// The record screen's Windows side, opened from the title (viewer) and after a placed race
// (name entry): its picture, its entry states and its frames.
#pragma once

void EnterRecords();
void RecordsFrame();
void EnterResult();
void ResultFrame();
// Loads the screen's pictures; a failure shows its message box and asks for SCENE_EXIT.
void LoadRecordArt();
void ReleaseRecordArt();
