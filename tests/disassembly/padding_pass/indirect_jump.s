	.text
_Z8dispatchj:
	movl	8(%ebp), %eax	# n, tmp83
	movl	.L4(,%eax,4), %eax	#, tmp84
	jmp	*%eax	# tmp84
