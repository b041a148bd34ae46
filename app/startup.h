// app/startup.h: the program's start-up and shutdown tables and the game's run between them.
#pragma once

void GameMain();
void InitialisePC();  // runs the start table in order
void ShutdownPC();    // runs the stop table in order
