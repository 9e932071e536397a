"""Where the program draws each picture, in window pixels (x, y)."""

FRONT_ORIGIN = (0, 1)
FRONT_SIZE = (145, 197)
BACK_ORIGIN = (0, 2)
BACK_SIZE = (145, 196)
SCREEN_OPENING = (37, 58, 109, 126)          # left, top, right, bottom (exclusive)
BUTTON_SIZE = 18
BUTTON_ORIGINS = {"A": (40, 137), "B": (62, 142), "C": (84, 137)}
RESET_SIZE = 12
RESET_ORIGIN = (18, 65)
GLASS_ORIGIN = (35, 56)
ICON_ORIGINS = [(39, 60), (56, 60), (73, 60), (90, 60), (39, 112), (56, 112), (73, 112)]
ATTEND_ORIGIN = (90, 112)
DOT_MATRIX = (41, 76, 64, 32)                # left, top, width, height
