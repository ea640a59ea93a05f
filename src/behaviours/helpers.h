// The vocabulary behaviours are written in: animation, movement along a
// layer or the ground, aiming at a ship or a sprite, and the fire-rate gate.
#pragma once

#include "sprites/Sprite.h"

void animateloop(Sprite* s);
void animateloopbackwards(Sprite* s);
void animatebackandforth(Sprite* s);
void animateterminate(Sprite* s);
void setframe(Sprite* s, int n);
void changeframe(Sprite* s, int d);
void centerframe(Sprite* s);
void centeronframe(Sprite* s, int n);
void movespritelayer(Sprite* s, int dx, int dy);
void movealongground(Sprite* s, int dx);
int findangletoplayer(int x, int y);
int findangletosprite(int tx, int ty, int fx, int fy);
// Direction 1..16 of the vector (dx, dy), shared by both aiming functions.
int direction_of_vector(int dx, int dy);
// The fire-rate gate, asked once a frame: true when firecount has passed the
// limit, firedelay, or max(firedelay - 6, 6) while both ships live (skill
// level 1 counts twice as fast); firecount then starts again from 0.
bool shoot(Sprite* s);
