; Cycles the border through all eight colours as fast as it can, so that
; every frame shows horizontal bands of colour down the border.
        org 8000h
start:  di
        xor a
loop:   out (0FEh), a
        inc a
        and 7
        jr loop
