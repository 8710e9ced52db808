// The page's side of the game's commands (page_library.js): the context
// menu, the hint's mark, the note beside the window, the records window, the
// browser's storage and the solver worker. Told texts and places only.
#pragma once

#include <cstdint>

extern "C" {

// The context menu: lines added one by one, then shown at a client pixel;
// a line chosen calls tembira_menu_choose with its index.
void page_menu_clear();
void page_menu_add(const char* text, int enabled);
void page_menu_show(int x, int y, int byKeyboard);
// An outline on a rectangle of the window, with a note beside it, for ms.
void page_mark(int x, int y, int width, int height, const char* note, int ms);
// A note beside the window, for ms.
void page_note(const char* note, int ms);
// The records window: headings and cells separated by tabs, rows by line
// feeds; a confirmed clear calls tembira_records_clear.
void page_records(const char* title, const char* headings, const char* rows, const char* clear,
                  const char* question, const char* yes, const char* no, const char* close);

// The browser's storage (localStorage). page_storage_get gives a copy the
// caller frees, or null when there is no such key; status: 0 read, 1 the
// storage refused. page_storage_set: 0 written, 1 no room, 2 refused.
char* page_storage_get(const char* key, int* status);
int page_storage_set(const char* key, const char* value);

// Sends work to the solver worker; its answer comes to tembira_worker_answer.
void page_worker_post(int ticket, const std::int32_t* numbers, int count);
// Starts the solver worker once the page has first painted.
void page_worker_start();
}
