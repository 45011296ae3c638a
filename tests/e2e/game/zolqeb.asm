; Stand-in for the game's ZOLQEB.EXE, used by the end-to-end rig.
; Build: nasm -f bin -o ZOLQEB.EXE zolqeb.asm
; A plain .COM image: DOS (and DOSBox) pick COM or EXE by the "MZ"
; signature, not by the file name, so it runs under the .EXE name.
;
; It writes ZOLVAN.INI in the current folder of the current drive:
;   tail=<command-line tail, byte for byte as in the PSP>
;   drive=<current drive letter>
;   dir=\<current directory>
; each line ended by CR LF, then exits with code 0. Before that it shows a
; title screen of its own for two seconds, so that a person watching the demo
; sees the game start. The launcher deletes
; ZOLVAN.INI at start and the clean-up script leaves it, so after a run it
; tells the test how the game was started.

        org 100h

start:
        call title_screen
        mov ah, 09h                     ; show that the stand-in ran
        mov dx, banner
        int 21h

        mov ah, 3Ch                     ; create (truncate) ZOLVAN.INI
        xor cx, cx
        mov dx, fname
        int 21h
        jc fail
        mov [handle], ax

        mov dx, k_tail
        mov cx, k_tail_len
        call put
        xor ch, ch                      ; the tail: length byte at 80h,
        mov cl, [80h]                   ; text from 81h, CR not counted
        mov dx, 81h
        call put
        call crlf

        mov dx, k_drive
        mov cx, k_drive_len
        call put
        mov ah, 19h                     ; current drive, 0 = A
        int 21h
        add al, 'A'
        mov [buf], al
        mov dx, buf
        mov cx, 1
        call put
        call crlf

        mov dx, k_dir
        mov cx, k_dir_len
        call put
        mov ah, 47h                     ; current directory of the current
        xor dl, dl                      ; drive, no drive and no leading '\'
        mov si, buf
        int 21h
        jc fail
        mov di, buf                     ; measure the ASCIIZ result
        mov cx, -1
        xor al, al
        repne scasb
        not cx
        dec cx
        mov dx, buf
        call put
        call crlf

        mov ah, 3Eh
        mov bx, [handle]
        int 21h
        mov ax, 4C00h
        int 21h

fail:
        mov ax, 4C01h
        int 21h

crlf:                                   ; falls through into put
        mov dx, eol
        mov cx, 2
; write CX bytes at DS:DX to the record file
put:
        jcxz .done                      ; a zero-length write would truncate
        mov ah, 40h
        mov bx, [handle]
        int 21h
        jc fail
.done:
        ret

; 80 x 25 colour text, white on blue, the title and the command tail in the
; middle, held for 36 ticks of the BIOS clock (about two seconds).
title_screen:
        mov ax, 0003h
        int 10h
        mov ax, 0B800h
        mov es, ax
        xor di, di
        mov ax, 1F20h
        mov cx, 80 * 25
        rep stosw
        mov ah, 1Eh                     ; yellow on blue
        mov si, t_title
        mov di, (10 * 80 + 34) * 2
        call show
        mov ah, 1Fh
        mov si, t_tail
        mov di, (13 * 80 + 24) * 2
        call show
        mov si, 81h                     ; the tail itself, CR-terminated
.tail:  lodsb
        cmp al, 13
        je .wait
        stosw
        jmp .tail
.wait:  push ds
        mov ax, 40h
        mov ds, ax
        mov bx, [6Ch]
.tick:  mov ax, [6Ch]
        sub ax, bx
        cmp ax, 36
        jb .tick
        pop ds
        push ds                         ; string ops below use ES = DS again
        pop es
        ret

; write the ASCIIZ text at DS:SI to ES:DI with attribute AH
show:   lodsb
        test al, al
        jz .done
        stosw
        jmp show
.done:  ret

t_title db 'ZOLVAN ZAZO', 0
t_tail  db 'stand-in game, started with:', 0
banner  db 'ZOLQEB stand-in: writing ZOLVAN.INI', 13, 10, '$'
fname   db 'ZOLVAN.INI', 0
k_tail  db 'tail='
k_tail_len equ $ - k_tail
k_drive db 'drive='
k_drive_len equ $ - k_drive
k_dir   db 'dir=\'
k_dir_len equ $ - k_dir
eol     db 13, 10
handle  dw 0
buf     times 68 db 0
