	.file	"loops.cpp"
# GNU C++17 (Debian 12.2.0-14) version 12.2.0 (x86_64-linux-gnu)
	.text
.Ltext0:
	.section	.rodata
.LC0:
	.string	"jmp .L1 # a; jne .L2:"
	.section	.text._Z9countDownl,"axG",@progbits,_Z9countDownl,comdat
	.weak	_Z9countDownl
	.type	_Z9countDownl, @function
_Z9countDownl:
.LFB0:
	.loc 1 4 29
	.cfi_startproc
	pushq	%rbp	#
	movq	%rdi, -8(%rbp)	# n, n
# loops.cpp:5:     while (n-- > 0) {
	.loc 1 5 5
	jmp	.L2	#
	.p2align 6
.L3:
.LBB2:
# loops.cpp:6:         if (n == 7) break;
	.loc 1 6 9
	cmpq	$7, -8(%rbp)	#, n
	je	.L5	#,
.L2:
	.loc 1 5 14 is_stmt 0
	subq	$1, -8(%rbp)	#, n
	cmpq	$0, -8(%rbp)	#, n
	jg	.L3	#,
.L5:
	popq	%rbp	#
	ret
	.cfi_endproc
.LFE0:
	.text
	.globl	_Z4spinv
	.type	_Z4spinv, @function
_Z4spinv:
	movl	$9, %eax	# count
	.p2align 6
.L7:	subl	$1, %eax	# count
	jne .L7 ; nop	# statements after a jump
	ret
	.section	.debug_line,"",@progbits
.Ldebug_line0:
	.section	.note.GNU-stack,"",@progbits
